#include "platform/Document.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct CountingView : CView {
    void OnUpdate(CView* sender, long hint, void*) override {
        lastSender = sender;
        hints.push_back(hint);
    }
    CView* lastSender = nullptr;
    std::vector<long> hints;
};

TEST(Document, PathNameIsAbsoluteAndTitleIsTheFileName) {
    CDocument doc;
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    std::string seen;
    doc.onTitleChanged = [&](const std::string& title) { seen = title; };
    doc.SetPathName("some/dir/file.obs");
    EXPECT_EQ(doc.GetTitle(), "file.obs");
    EXPECT_EQ(seen, "file.obs");
    EXPECT_EQ(doc.GetPathName(),
              (std::filesystem::current_path() / "some/dir/file.obs").lexically_normal().string());
}

TEST(Document, UpdateAllViewsSkipsTheSender) {
    CDocument doc;
    CountingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a);
    doc.UpdateAllViews(&a, 1);
    doc.UpdateAllViews(nullptr, 0);
    EXPECT_EQ(a.hints, std::vector<long>{0});
    EXPECT_EQ(b.hints, (std::vector<long>{1, 0}));
    EXPECT_EQ(doc.firstView(), &a);
    doc.RemoveView(&a);
    EXPECT_EQ(doc.firstView(), &b);
}

} // namespace
