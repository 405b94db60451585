#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The program's one picture: a closed book, drawn rather than shipped.
QPixmap ClosedBookPixmap(int size);

// The trees' image list: five pictures, all the same closed book, indexed from 1.
const QList<QIcon>& ImgList();
