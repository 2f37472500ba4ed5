#include "app/Etat.h"

EtatProgramme Etat;
