#pragma once

#include <QIcon>
#include <QPixmap>

// The program's one picture: a closed book, drawn rather than shipped.
QPixmap ClosedBookPixmap(int size);

// The trees' pictures: a closed book for an item without children, and a pile of books
// for one that holds others, so the two can be told apart at a glance.
const QIcon& LeafIcon();
const QIcon& GroupIcon();
