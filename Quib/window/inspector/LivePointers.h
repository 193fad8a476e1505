// The objects of a list of guarded pointers that still exist, in order.
#pragma once
#include <QList>
#include <QPointer>

template <class T> QList<T*> livePointers(const QList<QPointer<T>>& pointers)
{
    QList<T*> live;
    for (const QPointer<T>& pointer : pointers) {
        if (pointer)
            live.append(pointer.data());
    }
    return live;
}
