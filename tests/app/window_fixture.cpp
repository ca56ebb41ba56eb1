#include "window_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

