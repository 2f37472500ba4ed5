#pragma once
#include <QByteArray>
#include <QString>

// Sound output, one voice: every play replaces whatever is playing.
class SortieSon {
public:
    virtual ~SortieSon() = default;
    // Plays a complete WAVE file image; plays nothing at all when it cannot be decoded.
    virtual void joueDonnees(const QByteArray& wav) = 0;
    // Plays a WAVE file; plays the program's default alert sound when it cannot.
    virtual void joueFichier(const QString& chemin) = 0;
    virtual void arrete() = 0;
    // Every sound from now on, the one playing included, at `pourcent` (0 to 100) of its level:
    // its samples are scaled, the system's mixer is left alone. 0 plays nothing.
    virtual void regleVolume(int pourcent) = 0;
    // A sound is coming within a second or so (or within `ouverteMs`): an output that needs time
    // to settle starts now, and stays open, playing silence, until then.
    virtual void prepare(int ouverteMs = 0) { (void)ouverteMs; }
    // Kept open between sounds, playing silence, for outputs that sleep and wake slowly.
    virtual void gardeEveillee(bool eveillee) { (void)eveillee; }
    // True while the sound started last still has something to play.
    virtual bool joue() const { return false; }
};
