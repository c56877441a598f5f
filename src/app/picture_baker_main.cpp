// Bakes a picture file into the form the game holds it in once decoded (see
// pictures/baked_picture.h), for the build to compile into the program.
// Usage: gloopdash-picture-baker PICTURE OUTPUT
#include "pictures/baked_picture.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: gloopdash-picture-baker PICTURE OUTPUT\n", stderr);
        return 2;
    }
    const QString input = QFile::decodeName(argv[1]);
    const QImage picture(input);
    if (picture.isNull()) {
        std::fprintf(stderr, "gloopdash-picture-baker: cannot read %s\n", argv[1]);
        return 1;
    }
    QSaveFile out(QFile::decodeName(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(BakedPicture::bake(picture)) < 0 || !out.commit()) {
        std::fprintf(stderr, "gloopdash-picture-baker: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
