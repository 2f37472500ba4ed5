#pragma once
// The run record: what the clock keeps about its own runs (when it last ran, what each alarm last
// rang for), beside the settings but not a setting. One "key=value" line each, in UTF-8, written
// whole and atomically at each change, so that a power cut a moment later finds it. A missing or
// broken file reads as no record at all: a first run.

#include <QString>

// Reads the record at `chemin` and keeps writing it there. False when there was none to read, or
// it was broken: the clock has not run before.
bool OuvreReleve(const QString& chemin);
// Forgets the record and its file: nothing is written any more.
void FermeReleve();
// The value kept under `cle`; empty when there is none.
QString ValeurReleve(const QString& cle);
// Keeps `valeur` under `cle` and writes the file at once (nothing when the record is not open or
// the value is unchanged). A write that fails is said once on stderr; the old file stays whole.
void NoteReleve(const QString& cle, const QString& valeur);
