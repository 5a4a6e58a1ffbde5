#include "platform/Document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string normalisedPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

void CDocument::SetPathName(const std::string& path, bool /*addToRecentList*/) {
    m_pathName = normalisedPath(path);
    SetTitle(std::filesystem::path(path).filename().string());
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
