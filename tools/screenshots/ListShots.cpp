#include "tools/screenshots/Shots.h"

void ShootList(const ShotContext&) {}
