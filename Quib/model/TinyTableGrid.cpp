#include "model/TinyTableGrid.h"

TinyTableGrid::TinyTableGrid(QObject* parent) : platform::Observable(parent) {}
