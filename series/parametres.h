#pragma once
// Reads "donnees/donnees.txt" into the record, writes "donnees/ficlog.txt",
// composes the first photo's path. False when the file could not be opened,
// a line could not be read or the zoom index was rejected.
bool readParameters();
