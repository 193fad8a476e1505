// Precompiled Qt headers shared by every target.
#pragma once
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
