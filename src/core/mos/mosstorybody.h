#pragma once

#include "core/mos/mosrunningorder.h"

struct MosXmlNode;

// The text of a story from its `storyBody` element. Each paragraph (`p`) becomes one paragraph of
// text, its white space folded as a browser folds it; `b`, `i`/`em` and `u` give the look of the
// runs they hold. Marked as instructions, not to be read aloud: presenter instructions (`pi`),
// package text (`pkg`), anything in square brackets, the presenter's name (`storyPresenter`) and
// the media items placed in the text (`storyItem`, shown by their slug). Text outside any
// paragraph is kept, a paragraph to each of its lines.
MosStoryText readstorybody(const MosXmlNode &body);
