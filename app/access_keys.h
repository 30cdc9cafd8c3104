#pragma once
// Access keys of menu captions: the underlined letter that Alt (in the menu bar) or the letter alone
// (in an open menu) chooses.
//
// A caption is written as Qt writes it: "&Datei" marks D, "&&" stands for one "&", and the part after
// a tab is the shortcut text ("Neu\tStrg+N"), which never takes a mark. A language file may carry a
// mark in a menu text; where it carries none, or its letter is taken already, the caption gets the
// first letter or digit not yet taken in its menu.

#include <QString>
#include <QStringList>

namespace korvane {

// The caption as it reads: marks removed ("&Datei" -> "Datei"), "&&" -> "&". A "&" that marks no
// letter or digit ("Tom & Jerry") is kept.
QString WithoutAccessKeyMark(const QString& caption);

// A caption that is plain text (a file name, a language's name) written so that its "&" shows as one.
QString EscapeAccessKeyMarks(const QString& plain);

// The access key a caption marks, case-folded; a null QChar when it marks none.
QChar AccessKeyOf(const QString& caption);

// The captions of one menu, in menu order, each with one mark where a letter is free: a caption's own
// mark first (in menu order, while its letter is free), then the first free letter or digit of the
// others. reserved: letters the menu must leave alone (the menu bar leaves the Alt key of Exit).
// Empty captions stay empty. Applying it again to its result changes nothing.
QStringList WithAccessKeys(const QStringList& captions, const QString& reserved = QString());

} // namespace korvane
