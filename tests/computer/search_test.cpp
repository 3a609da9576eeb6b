#include "tests/computer/board_setup.h"
