#pragma once

// Qt 6.4's moc cannot parse <coroutine>. Headers that moc reads (every header a
// Q_OBJECT class or test includes) reach it only through here, hidden from moc,
// which never needs to see a coroutine.
#ifndef Q_MOC_RUN
#include <coroutine>
#endif
