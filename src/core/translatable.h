// Texts the interface shows are marked where they are defined, so that the
// translation tools find them: QT_TRANSLATE_NOOP("Tevra", "…") is the text
// itself. The desktop program looks each one up in the language of its
// interface when it shows it; the code below Qt needs no Qt for the mark.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
