#include "state/Etat.h"

EtatProgramme Etat;
