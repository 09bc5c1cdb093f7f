// Wavy background text: columns of letters that bob and sway.
#pragma once

void initBgText();
void drawBgText();
