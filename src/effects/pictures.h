// The picture strip at the bottom: twelve pictures wiped in one after another.
#pragma once

void drawBajs();
