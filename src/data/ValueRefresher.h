#pragma once
// How the document asks its view to reload values that were changed in place.
//
// Edits that remove stations or change the scale reach the view through
// CDocument::UpdateAllViews (HintStationsChanged, HintNewData). Edits that
// only change values (assign standard deviation, add Gaussian noise, add
// constant) keep the stations, so the view's triangulation stays valid: the
// document then takes its first view (CDocument::firstView()) and, when that
// view also derives from ValueRefresher, calls the reloads it needs followed
// by invalidate(). The view hooks in simply by deriving from both:
//
//     class CTESKAdatView : public QAbstractScrollArea, public CView, ...,
//                           public ValueRefresher {
//         void refreshMainValues() override;  // mainValues from data, node order
//         void refreshErrorValues() override; // errors plot, if it is shown
//         void invalidate() override;         // repaint everything, erasing
//     };
//
// and registering with CDocument::AddView. Without such a view the edits
// still change the data and simply skip these calls.
class ValueRefresher {
public:
    virtual ~ValueRefresher() = default;
    // Reloads the main plot's values from the document's data array, and a
    // second plot computed from them.
    virtual void refreshMainValues() = 0;
    // Reloads the second plot's values and colour range when the second plot
    // is computed from the error array; does nothing otherwise.
    virtual void refreshErrorValues() = 0;
    // Invalidates the whole view with erasing, so that it repaints.
    virtual void invalidate() = 0;
};
