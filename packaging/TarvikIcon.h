#pragma once

#include <QIcon>

// The Tarvik logo at every size it is rendered in at build time: the window icon of both
// programs and the picture on the launcher's button.
QIcon TarvikIcon();
