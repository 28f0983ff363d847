// Job files name the fonts of office desktops ("Tahoma", "Arial"). fontconfig
// maps Arial and Times New Roman to Liberation; Wine's Tahoma sits outside its
// path and is registered here so a number keeps its width.
#pragma once

void RegistrarFuentes();
