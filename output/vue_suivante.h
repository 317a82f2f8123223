#pragma once

#include <cstdint>
#include <string>

#include "series/nom_photo.h"

// RETURN: releases the photo, writes the measurement, loads the next photo or
// the closing picture. False after an unrecognised naming scheme.
bool vueSuivante();

// Where the series stands, as the end test compares it: (high part, low part)
// in scheme 1, (number, second number) in scheme 2, (number, 0) in scheme 3.
// 64 bits: an advance of int32 counters never overflows here.
struct PositionSerie {
  int64_t majeur = 0;
  int64_t mineur = 0;
};

// One advance of each naming scheme, before saturation.
PositionSerie avancerSchema1(int32_t partie_haute, int32_t partie_basse, int32_t pas);
PositionSerie avancerSchema2(int32_t numero, int32_t numero_2, int32_t pas, int32_t pas_2, int32_t modulo_2);
PositionSerie avancerSchema3(int32_t numero, int32_t pas);
// True while the position is not past the last photo (pairs compared in order).
bool dansLaSerie(PositionSerie position, PositionSerie fin);
// The counter value stored for a position member: clamped to int32.
int32_t saturer(int64_t valeur);

enum class Avance { DansLaSerie, ApresLaFin, SchemaInconnu };
// One advance of the counters by the active scheme, saturated as the record
// stores them; the counters are unchanged for an unknown scheme.
Avance avancerCompteurs(CompteursSerie& c);
// The path the next advance from c would load: the next photo, or the
// closing picture past the end; empty for an unknown scheme. Prints nothing.
std::string cheminApres(CompteursSerie c);
// The closing picture's path.
std::string cheminImageFin();

// For the step back and the resume, which move through the series without
// the advance's traces: releases the photo's surfaces and textures silently;
// loads nom_photo_complet as the advance loads the next photo (error line,
// "Image chargee", placed again when its size differs); loads the closing
// picture at zoom 0.25, centred, as the advance past the end does.
void libererPhotoSansTraces();
void chargerPhotoCourante();
void chargerImageFin();
