#pragma once

// The program's name: the caption of its message boxes, skinned or not.
constexpr char kAppTitle[] = "Quillbox";
