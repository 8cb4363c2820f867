#pragma once
// What a screen reader says for a control that was given no words of its
// own: a button its text, an input the label beside it, each with the window
// it stands in. Run at the end of a window's construction.
class QWidget;

void NameRemainingControls(QWidget& window);
