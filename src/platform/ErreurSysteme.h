#pragma once
#include <QString>

// The French description of a system error number (errno).
QString DescriptionErreurSysteme(int numero);
