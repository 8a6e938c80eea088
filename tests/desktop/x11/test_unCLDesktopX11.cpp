#include "unTesteX11.h"
