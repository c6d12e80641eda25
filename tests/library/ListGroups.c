/* A C99 program of a library user: lists a source's icon groups and writes group 0 as an ICO
 * file. Built against the installed tree with nothing but pkg-config's flags. */
#include <glyphdock.h>
#include <stdio.h>

int main(int argc, char **argv) {
    if (argc != 3) return 2;
    gd_source *source = gd_open(argv[1]);
    if (!source || gd_source_status(source) != GD_STATUS_OK) return 1;
    for (int g = 0; g < gd_group_count(source); ++g) {
        gd_group_info group;
        if (gd_group(source, g, &group) != GD_OK) return 1;
        if (group.has_id)
            printf("%d\t%u\t%d\n", group.index, group.id, group.image_count);
        else
            printf("%d\t%s\t%d\n", group.index, group.name, group.image_count);
    }
    unsigned char *ico = NULL;
    size_t size = 0;
    if (gd_group_ico(source, 0, &ico, &size) != GD_OK) {
        fprintf(stderr, "%s\n", gd_message(source));
        return 1;
    }
    FILE *out = fopen(argv[2], "wb");
    const int written = out && fwrite(ico, 1, size, out) == size;
    if (out) fclose(out);
    gd_free(ico);
    gd_close(source);
    return written ? 0 : 1;
}
