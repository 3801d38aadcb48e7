# Doxygen's input filter for the library's headers, which comment with plain // lines:
#   - the comment block that opens a header documents the file, and also the class the header is
#     named after (TVexoGrid in VexoGrid.h, sDB_query in sDB_query.h) when that class has no
#     comment of its own;
#   - a whole-line // comment documents what follows it;
#   - a // comment after a declaration's ; or , documents that declaration, and so do the comment
#     lines aligned under it.
BEGIN {
    n = split(ARGV[1], parts, "/")
    stem = parts[n]
    sub(/\.h$/, "", stem)
    state = "start" # start: before the opening block; head: inside it; body: after it
    heads = 0
    previousComment = 0
    previousTrailing = 0
}
function emitHead(i) {
    for (i = 1; i <= heads; ++i) print "///" head[i]
}
{
    line = $0
    isComment = line ~ /^[ \t]*\/\/[^\/!]/ || line ~ /^[ \t]*\/\/$/
    if (state == "start" && line ~ /^#pragma once/) { print line; state = "head"; next }
    if (state == "head") {
        if (isComment) {
            text = line
            sub(/^[ \t]*\/\//, "", text)
            head[++heads] = text
            next
        }
        if (heads > 0) { print "/// \\file"; emitHead() }
        state = "body"
    }
    if (isComment) {
        if (previousTrailing && index(line, "//") == trailingColumn) {
            sub(/\/\//, "///<", line)
        } else {
            sub(/\/\//, "///", line)
            previousTrailing = 0
        }
        print line
        previousComment = 1
        next
    }
    if (line ~ /^(class|struct) [A-Za-z_0-9]+( final)?( :.*| *\{.*)?$/ && !previousComment && heads > 0) {
        name = line
        sub(/^(class|struct) /, "", name)
        sub(/[^A-Za-z_0-9].*$/, "", name)
        if (name == stem || name == "T" stem) emitHead()
    }
    previousTrailing = 0
    if (match(line, /[;,][ \t]+\/\/ /)) {
        trailingColumn = RSTART + RLENGTH - 3
        line = substr(line, 1, trailingColumn - 1) "///< " substr(line, RSTART + RLENGTH)
        previousTrailing = 1
    }
    previousComment = 0
    print line
}
