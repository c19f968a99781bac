#pragma once
// The text functions of the Functions menu, free of any editor: each takes the plain text (lines
// joined by CR LF) or its line list, and returns the result; its header says which rule the
// editor applies it by. Menus, the undo snapshot and the editor itself live in the window.

#include "textfuncs/CharacterCase.h"
#include "textfuncs/DateTimeText.h"
#include "textfuncs/LineList.h"
#include "textfuncs/LineOperations.h"
#include "textfuncs/LineSorting.h"
#include "textfuncs/Markup.h"
#include "textfuncs/RandomText.h"
#include "textfuncs/TextEncoding.h"
#include "textfuncs/Transliteration.h"
