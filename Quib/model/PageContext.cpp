#include "model/PageContext.h"

namespace {
PageContext*& installedContext()
{
    static PageContext* context = nullptr;
    return context;
}
} // namespace

PageContext::~PageContext() = default;

PageContext& PageContext::current()
{
    static PageContext nothing;
    PageContext* context = installedContext();
    return context ? *context : nothing;
}

PageContext* PageContext::install(PageContext* context)
{
    PageContext* previous = installedContext();
    installedContext() = context;
    return previous;
}

bool PageContext::isInstalled()
{
    return installedContext() != nullptr;
}
