// The internal-force diagrams: bending moment, shear and axial force drawn
// beside every member, and the scale they are drawn at.
#include "editor/form1.h"

void Form1::弯矩图() {}

void Form1::剪力图() {}

void Form1::轴力图() {}

void Form1::内力图显示比例() {}
