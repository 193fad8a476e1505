// The formatter of every generated page text. A missing value prints as nothing: "(null)" between
// two rules makes a browser drop the rule after it, and in a body it becomes a visible word that
// the page reader takes back as the element's text.
#pragma once
#include "platform/Format.h"

namespace generation {

inline QString format(const QString& tmpl, std::initializer_list<platform::FormatArg> args = {})
{
    return platform::formatText(tmpl, args);
}

} // namespace generation
