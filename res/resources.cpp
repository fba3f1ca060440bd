#include "res/resources.h"

namespace res {

QString starfieldPath() { return QStringLiteral(":/starfield.gif"); }

QString iconPath() { return QStringLiteral(":/warp-rechner.ico"); }

}  // namespace res
