#pragma once
// "Load Data": the observation file to load (required) and the predicted data
// file (optional). Each path can be typed, chosen with Browse or dropped from
// the file manager; OK goes through only when the named files exist.

#include <QDialog>
#include <string>

class CEditDrop;

class CDlgLoadData : public QDialog {
    Q_OBJECT
public:
    explicit CDlgLoadData(QWidget* parent = nullptr);

    // Shows the paths offered when the dialog opens (those of the previous load).
    void setPaths(const std::string& observationPath, const std::string& predictedPath);

    // The paths handed back: those of the last accepted OK, or those set.
    // An empty predicted path means no predicted data.
    const std::string& observationPath() const { return m_observationPath; }
    const std::string& predictedPath() const { return m_predictedPath; }

    CEditDrop* observationField() const { return m_observationField; }
    CEditDrop* predictedField() const { return m_predictedField; }

    // Reads both fields and checks that the observation path is given and
    // exists and that a given predicted path exists; stores them only when
    // valid. A refusal shows its message, moves the focus to the field at
    // fault (not for a missing observation path) and returns false.
    bool validateAndStore();
    void accept() override;

    // Browse buttons: a file-open dialog titled "Load data 1" or "Load data 2";
    // a confirmed choice replaces the text of that field only.
    void browseObservation();
    void browsePredicted();

private:
    void browseInto(CEditDrop* field, const QString& title);

    CEditDrop* m_observationField;
    CEditDrop* m_predictedField;
    std::string m_observationPath;
    std::string m_predictedPath;
};
