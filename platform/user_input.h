#pragma once
// Which events are the user's own doing: clicks, keys, wheel and touch, and a
// window's close box. Long runs that must not be disturbed filter these.
#include <QEvent>

namespace velmora::platform {

inline bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Drops a piece of user input in an event filter. A close request is also
// refused: a close left accepted lets the window system close the window all
// the same. Other input is not marked ignored, or Qt would offer it to the
// widget's parents.
inline bool DropUserInput(QEvent* event)
{
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}

}  // namespace velmora::platform
