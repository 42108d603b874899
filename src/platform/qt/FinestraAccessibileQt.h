#pragma once
// What a screen reader sees of a window: a form that says it is a dialog
// is one (a screen reader then reads its text as it opens, which it never
// does for a plain frame), named by the form's accessible name or else by
// its caption; and a form's labels laid out as a table read as a table,
// with named columns, in place of the labels one by one.

namespace velmo {

// Installs these interfaces; once per program, more calls do nothing. Call
// it after the QApplication exists, as Qt Widgets' own interfaces would
// otherwise be chosen first.
void installaFinestreAccessibili();

}  // namespace velmo
