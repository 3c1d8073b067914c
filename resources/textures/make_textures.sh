#!/bin/sh
# Redraws the pictures of this folder with ImageMagick 6 ("convert"). Each is
# small and made to repeat without a visible seam where that suits it.
# Usage: sh make_textures.sh   (run inside resources/textures)
set -eu
seed=7

# Soft blue clouds: plasma blurred on a wrapping plane so it tiles.
convert -size 96x96 -seed $seed plasma:steelblue-navy \
  -virtual-pixel tile -blur 0x3 -modulate 100,70 -quality 82 blue_clouds.jpg

# Grey granite: fine noise, wrapped blur, a little contrast.
convert -size 64x64 xc:gray62 -seed $seed -attenuate 0.5 +noise Gaussian -colorspace Gray \
  -virtual-pixel tile -blur 0x0.6 -type Palette -colors 64 BMP3:granite.bmp

# Brushed metal: noise smeared sideways, light grey.
convert -size 128x48 xc:gray75 -seed $seed +noise Gaussian -colorspace Gray \
  -virtual-pixel tile -motion-blur 0x12+0 -level 25%,85% -quality 85 brushed_metal.jpg

# Red bricks with light mortar, one brick row offset by half a brick.
convert -size 64x32 xc:'#d8d0c0' -fill '#a0412d' \
  -draw 'rectangle 1,1 30,14' -draw 'rectangle 33,1 62,14' \
  -draw 'rectangle 0,17 14,30' -draw 'rectangle 17,17 46,30' -draw 'rectangle 49,17 63,30' \
  -seed $seed -attenuate 0.35 +noise Uniform -type Palette -colors 48 BMP3:bricks.bmp

# Glass gradients: a light top fading to a deep bottom, for stretched faces.
convert -size 8x64 gradient:'#e8f4ff'-'#2a64b0' -type Palette -colors 64 BMP3:blue_glass.bmp
convert -size 8x64 gradient:'#fff6c8'-'#c07a10' -type Palette -colors 64 BMP3:gold_glass.bmp
convert -size 8x64 gradient:'#f4f4f4'-'#7a7a7a' -quality 90 silver_glass.jpg

# Green felt: coloured noise, softly blurred.
convert -size 64x64 xc:'#2f7a3a' -seed $seed -attenuate 0.6 +noise Gaussian \
  -virtual-pixel tile -blur 0x1 -quality 82 green_felt.jpg
