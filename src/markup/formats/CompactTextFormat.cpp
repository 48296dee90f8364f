// Compact text: the plain text format without the blank lines between
// blocks. Built from the text format's record, so that the two can never
// drift apart in anything but the block ends below.
#include "../MarkupEngine.h"

const OutputFormat* CompactTextOutputFormat()
{
    static const OutputFormat compactFormat = [] {
        OutputFormat format = *TextOutputFormat();
        format.HeadingEnd = "\n";
        format.ParagraphEnd = "\n";
        format.PreEnd = nullptr;
        format.BulletListEnd = nullptr;
        format.NumberListEnd = nullptr;
        format.DefListEnd = nullptr;
        format.IndentEnd = nullptr;
        format.TableEnd = nullptr;
        format.Rule = "----------\n";
        return format;
    }();
    return &compactFormat;
}
