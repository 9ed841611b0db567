#pragma once

#include <QString>
#include <QtGlobal>

// The settings record, one for the whole run, mirrored by the panel's controls and kept in
// PHOTO.INI. Integer fields are signed 16-bit, named by their PHOTO.INI keys.
struct ShowSettings {
    QString ShowFolder;     // always ends with the native separator once set
    qint16 TempoAttesa = 0; // seconds as read; milliseconds once a show has been started
    qint16 SuonoWAV = 0;    // 0/1: play each picture's WAVE comment
    qint16 MusicaFM = 0;    // 0/1: play the folder's MP3/MIDI music
    qint16 Effetti = 0;     // 0..100: change speed; 0 = no transition and no slide-in
    qint16 RGB_R = 0;       // 0..255
    qint16 RGB_G = 0;       // 0..255
    qint16 RGB_B = 0;       // 0..255
    qint16 RGB_RANDOM = 0;  // -1 random background, 0 fixed
    qint16 Cornice3D = 0;   // 0/1: thin border round each picture
    qint16 AllargaFoto = 0; // 0/1: enlarge pictures smaller than the screen
    qint16 TipoEffetto = 0; // transition effect code 0..11
    qint16 PosLabel = 0;    // 0 top, 1 bottom, 2 none, -1 no entry chosen

    friend bool operator==(const ShowSettings&, const ShowSettings&) = default;
};

// Where the file-name label goes (the codes kept in PosLabel).
enum LabelPosition : qint16 { LabelTop = 0, LabelBottom = 1, LabelNone = 2, LabelUnchosen = -1 };
