#pragma once
// RETURN: releases the photo, writes the measurement, loads the next photo or
// the closing picture. False after an unrecognised naming scheme.
bool vueSuivante();
