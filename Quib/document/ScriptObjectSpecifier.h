// A script's reference to graphics of a page: one element of a list by position, a range between two
// references, or the element before or after a reference. Lists are named by their scripting keys
// ("graphics", "rectangles", "circles", "lines", "textAreas", "images"); a key outside them is kept as
// given, so that evaluation can refuse it.
#pragma once
#include <QString>
#include <memory>

struct ScriptObjectSpecifier
{
    enum class Form { Index, Range, Relative };

    Form form = Form::Index;
    QString key;
    int index = 0; // Index: the position in the key's list
    // Range: either end may be missing (the list's first or last graphic then).
    std::shared_ptr<ScriptObjectSpecifier> start;
    std::shared_ptr<ScriptObjectSpecifier> end;
    // Relative: the reference and the direction from it.
    std::shared_ptr<ScriptObjectSpecifier> base;
    bool after = false;

    static std::shared_ptr<ScriptObjectSpecifier> element(const QString& key, int index)
    {
        auto s = std::make_shared<ScriptObjectSpecifier>();
        s->key = key;
        s->index = index;
        return s;
    }
    static ScriptObjectSpecifier range(const QString& key, std::shared_ptr<ScriptObjectSpecifier> start,
                                       std::shared_ptr<ScriptObjectSpecifier> end)
    {
        ScriptObjectSpecifier s;
        s.form = Form::Range;
        s.key = key;
        s.start = std::move(start);
        s.end = std::move(end);
        return s;
    }
    static ScriptObjectSpecifier relative(const QString& key, std::shared_ptr<ScriptObjectSpecifier> base,
                                          bool after)
    {
        ScriptObjectSpecifier s;
        s.form = Form::Relative;
        s.key = key;
        s.base = std::move(base);
        s.after = after;
        return s;
    }
};
