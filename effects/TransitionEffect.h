#pragma once

#include <QtGlobal>

// The transition effect codes; the code is the index of the entry in the panel's effect list.
enum TransitionEffect : qint16 {
    EffettoACaso = 0,
    MosaicoAScomparsa = 1,
    QuadratoInChiusura = 2,
    QuadratoInApertura = 3,
    SiparioInChiusura = 4,
    SiparioInApertura = 5,
    DoppiaLineaOrizzontale = 6,
    DoppiaLineaDiagonale = 7,
    CerchioInChiusura = 8,
    CerchioInApertura = 9,
    Raggio = 10,
    SoloAnimazioneFoto = 11,
};

// The effect list's entries, in code order, as the panel shows them.
inline constexpr const char* TransitionEffectNames[] = {
    "0 - Effetto a caso",
    "1 - Mosaico a scomparsa",
    "2 - Quadrato in chiusura",
    "3 - Quadrato in apertura",
    "4 - Sipario in chiusura",
    "5 - Sipario in apertura",
    "6 - Doppia linea orizzontale",
    "7 - Doppia linea diagonale",
    "8 - Cerchio in chiusura",
    "9 - Cerchio in Apertura",
    "10- Raggio",
    "11- Solo animazione foto",
};
