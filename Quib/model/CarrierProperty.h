// Declares one stored property of a carrier record: the Qt property, its getter and a setter that
// reports the change, and the member (value-initialised: 0, empty, null). Carriers validate and
// derive nothing on assignment.
#pragma once

#define QUIB_CARRIER_PROPERTY(Type, name, Setter)                                                            \
    Q_PROPERTY(Type name READ name WRITE Setter)                                                             \
public:                                                                                                      \
    Type name() const                                                                                        \
    {                                                                                                        \
        return m_##name;                                                                                     \
    }                                                                                                        \
    void Setter(const Type& value)                                                                           \
    {                                                                                                        \
        changeValue(m_##name, value, #name);                                                                 \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type m_##name{};
