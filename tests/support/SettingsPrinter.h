#pragma once

#include "settings/ShowSettings.h"

#include <ostream>

// Readable failures when two settings records differ.
inline void PrintTo(const ShowSettings& s, std::ostream* out) {
    *out << s.ShowFolder.toStdString();
    for (const qint16 v :
         {s.TempoAttesa, s.SuonoWAV, s.MusicaFM, s.Effetti, s.RGB_R, s.RGB_G, s.RGB_B, s.RGB_RANDOM,
          s.Cornice3D, s.AllargaFoto, s.TipoEffetto, s.PosLabel})
        *out << ' ' << v;
}
