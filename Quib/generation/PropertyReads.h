// Reading the properties of the page's elements by name, for the writers: every element gives some
// sixty values to its rule, so a name is looked up once per class and then by its address.
#pragma once
#include <QObject>
#include <QVariant>

namespace generation {

// The value of name on object (a declared property, else a dynamic one), or an invalid value for
// no object. name must have static storage, such as a string literal: its address is the key.
QVariant propertyValue(const QObject* object, const char* name);

inline QString str(const QObject* object, const char* name)
{
    return object ? propertyValue(object, name).toString() : QString();
}
inline int num(const QObject* object, const char* name)
{
    return object ? propertyValue(object, name).toInt() : 0;
}
inline double real(const QObject* object, const char* name)
{
    return object ? propertyValue(object, name).toDouble() : 0.0;
}

} // namespace generation
