#include "Document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

void CDocument::SetPathName(const std::string& path, bool /*addToRecentList*/) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    m_pathName = ec ? path : absolute.lexically_normal().string();
    SetTitle(fs::path(path).filename().string());
}

void CDocument::SetTitle(const std::string& title) {
    m_title = title;
    if (onTitleChanged)
        onTitleChanged(m_title);
}

void CDocument::AddView(CView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(CView* sender, long hint, void* hintObject) {
    // A copy, so that a view may unregister itself while it is notified.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}
