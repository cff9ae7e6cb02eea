#pragma once

#include <QtCore/QString>
#include <vector>

class QLabel;
class QWidget;

namespace vistrel {

// The caption an operator reads beside a control: the label "l<id>", or a label that names
// the control as its buddy; nullptr when there is none.
QLabel* CaptionLabelOf(const QWidget* form, const QWidget* control);

// A text as a screen reader speaks it: without the marks of its Alt letter.
QString SpokenText(QString text);

// The controls of a form the operator works with: every control with an id but the captions
// and group boxes, in the form's order.
std::vector<QWidget*> FieldsOf(const QWidget* form);

// The letters the menu bar of the main dialog takes with Alt (File, Settings, ...).
QString MenuBarLetters();

// Names the fields of a page for screen readers and the keyboard: each field's accessible name
// is its caption (with its group's title where the caption repeats on the page), its caption
// is linked to it and takes a free letter for Alt (never one of `reservedLetters` nor one taken
// on the page), and its accessible description follows its tooltip whenever that changes.
void NameFields(QWidget* form, const QString& reservedLetters);

// Gives every window among `windows` that has no accessible name its title as one.
void NameWindows(const std::vector<QWidget*>& windows);

}  // namespace vistrel
