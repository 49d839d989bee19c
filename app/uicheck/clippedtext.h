#pragma once

#include <QStringList>

class QWidget;

// Finds texts that the screen cuts off: labels and buttons narrower than their text, and
// tree items wider than their view. Only what is visible in `root` now is looked at, so a
// caller shows each page (and each tab) in turn.
class ClippedText
{
public:
    // One line per clipped text: what it is, the text, the width it needs and has.
    static QStringList find(const QWidget* root);
};
