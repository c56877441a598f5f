#pragma once

#include <QString>

// The folder that holds the files kept "beside the program": the settings file
// and the tile-set folder. GLOOPDASH_HOME overrides it so tests and several
// copies on one machine can each use their own folder.
QString programFolder();
