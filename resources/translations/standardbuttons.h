#pragma once

// Texts that Qt draws itself in our message boxes: the standard buttons. The
// program ships no translation files of Qt's own, so without these entries a
// Dutch question would still offer "Yes" and "No". Listed here only for
// lupdate; nothing includes this file. The context and the texts (with their
// "&" accelerators) must be exactly the ones Qt looks up.

#include <QtGlobal>

[[maybe_unused]] static const char *const stadionixStandardButtonTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
};
