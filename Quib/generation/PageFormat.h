// The formatter of every generated page text. A missing value prints as nothing: "(null)" between
// two rules makes a browser drop the rule after it, and in a body it becomes a visible word that
// the page reader takes back as the element's text.
#pragma once
#include "platform/Format.h"

namespace generation {

// Appends the formatted text to out. The writers' templates use only the plain %d, %f, %@ and %%,
// which go straight into out; a template with any other directive is formatted as
// platform::formatText formats it, and every template prints what platform::formatText prints.
void appendFormat(QString& out, const QString& tmpl, std::initializer_list<platform::FormatArg> args = {});

QString format(const QString& tmpl, std::initializer_list<platform::FormatArg> args = {});

} // namespace generation
