#include "canvas/LinkPageList.h"

namespace {

LinkPageList::Provider& installedProvider()
{
    static LinkPageList::Provider provider;
    return provider;
}

} // namespace

void LinkPageList::setProvider(Provider provider)
{
    installedProvider() = std::move(provider);
}

QStringList LinkPageList::pagePublishFileNames(const DRVGraphicView* canvas)
{
    const Provider& provider = installedProvider();
    return provider ? provider(canvas) : QStringList();
}
