#pragma once

#include "mapping/core/EditorTable.h"

// The maker tables of the mapping editors, one function per editor.
namespace mapping {

// Grid indexes of the tables below, for tests and hooks.
enum NmraGrid { NmraTicks = 0, NmraValues = 1 };
enum ZimoGrid { ZimoTicks = 0, ZimoValues = 1 };
enum EsuCv49Grid { EsuCv49 = 0, EsuCv124 = 1 };

EditorTable nmraTable();  // frmFM_NMRA
EditorTable zimoTable();  // frmFM_Zimo
EditorTable esuCv49Table();     // frmESU_CV49: the two bytes only, no lists

// The output names "Licht vorne", "Licht hinten", "FA 1" .. "FA 12".
QStringList nmraOutputNames();

}  // namespace mapping
