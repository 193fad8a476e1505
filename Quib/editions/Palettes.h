// The shared colour palettes; each edition stores one of them in gColorPalette.
#pragma once
#include <QStringList>

class Palettes
{
public:
    Palettes() = delete;
    static const QStringList& large();               // 551 entries, seven repeats kept
    static const QStringList& largeWithoutRepeats(); // 544 entries
    static const QStringList& small();               // 140 entries
};
