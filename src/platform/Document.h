#pragma once
// A minimal document/view framework: a document with a path name, a title and
// a modified flag, and the views that show it.

#include <functional>
#include <string>
#include <vector>

class CDocument;

// `path` made absolute and lexically normal: no "." or ".." parts and no
// doubled separators (symbolic links are not resolved). The empty path stays empty.
std::string normalisedPath(const std::string& path);

// Something that shows a document and reacts to its change notifications.
class CView {
public:
    virtual ~CView() = default;
    // Called by CDocument::UpdateAllViews for every view except the sender.
    virtual void OnUpdate(CView* sender, long hint, void* hintObject) = 0;
};

class CDocument {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument() = default;

    // Stores normalisedPath(path) as the path name and its bare file name as the title.
    virtual void SetPathName(const std::string& path, bool addToRecentList = true);
    const std::string& GetPathName() const { return m_pathName; }

    virtual void SetTitle(const std::string& title);
    // "Untitled" until a title was set.
    const std::string& GetTitle() const { return m_title; }

    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& views() const { return m_views; }
    // The first registered view, or nullptr.
    CView* firstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void UpdateAllViews(CView* sender, long hint = 0, void* hintObject = nullptr);

    // Called after every title change (the main window shows the title in its caption).
    std::function<void(const std::string&)> onTitleChanged;

private:
    std::string m_pathName;
    std::string m_title = "Untitled";
    bool m_modified = false;
    std::vector<CView*> m_views;
};
