#pragma once

#include <QLabel>

class FontIndex;

// The line under the list that tells how far the font index has read the font files, shown only
// while it reads.
class IndexProgress : public QLabel
{
    Q_OBJECT

public:
    IndexProgress(const FontIndex *index, QWidget *parent = nullptr);
};
