#include "store/LinePieces.h"

std::vector<Piece> SplitPieces(std::string_view bytes)
{
    std::vector<Piece> pieces;
    ForEachPiece(bytes, [&](const Piece& piece) { pieces.push_back(piece); });
    return pieces;
}

std::string_view PieceText(const Piece& piece)
{
    std::string_view text = piece.raw;
    if (!piece.hasLineFeed)
        return text;
    text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

void AppendPiece(std::string& out, const Piece& piece)
{
    out.append(PieceText(piece));
    if (piece.hasLineFeed)
        out.append("\r\n");
}
