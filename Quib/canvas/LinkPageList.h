// The pages of the open website project that the link editor offers as targets, asked of the window
// around the canvas (its page list) through a provider it installs; with none, there are no pages.
#pragma once
#include <QStringList>
#include <functional>

class DRVGraphicView;

class LinkPageList
{
public:
    LinkPageList() = delete;
    // Answers the publish file names of the project's pages in page-list order for a canvas.
    using Provider = std::function<QStringList(const DRVGraphicView* canvas)>;
    static void setProvider(Provider provider);
    static QStringList pagePublishFileNames(const DRVGraphicView* canvas);
};
