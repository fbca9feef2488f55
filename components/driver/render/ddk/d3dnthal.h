/* Included by mingw's winddi.h, not shipped by mingw; winddi.h needs nothing from it. */
#pragma once
