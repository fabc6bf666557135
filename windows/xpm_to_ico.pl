#!/usr/bin/perl
# Writes the window's 32 px picture of 16 colours (an XPM) as a Windows icon of
# the same pixels and colours, for mojik.exe's icon resource.
#   perl xpm_to_ico.pl mojik.xpm mojik.ico
use strict;
use warnings;

my ($xpm, $ico) = @ARGV;
die "usage: $0 XPM ICO\n" unless defined $ico;
open my $in, '<', $xpm or die "$xpm: $!\n";
my @strings = map { /^"(.*)",?$/ ? $1 : () } <$in>;
close $in;

my $size = shift @strings // '';
die "$xpm: \"$size\" is not 32 by 32 pixels of 16 colours, one character each\n" unless $size eq '32 32 16 1';
my (%index, $palette);
for my $i (0 .. 15) {
    my ($char, $rgb) = (shift @strings // '') =~ /^(.) c #([0-9A-Fa-f]{6})$/
        or die "$xpm: colour ", $i + 1, " is not one character and #RRGGBB\n";
    $index{$char} = $i;
    $palette .= pack 'C4', map({ hex } substr($rgb, 4, 2), substr($rgb, 2, 2), substr($rgb, 0, 2)), 0;
}
die "$xpm: not 32 rows of pixels\n" unless @strings == 32;

# Bottom row first, two pixels a byte; then the mask, every pixel opaque.
my $pixels = '';
for my $row (reverse @strings) {
    die "$xpm: a row is not 32 pixels: $row\n" unless length $row == 32;
    $pixels .= pack 'H*', join '', map { sprintf '%x', $index{$_} // die "$xpm: no colour '$_'\n" } split //, $row;
}
my $mask = "\0" x (32 * 32 / 8);
# BITMAPINFOHEADER: the height counts the pixels and the mask.
my $image = pack('VVVvvVVVVVV', 40, 32, 64, 1, 4, 0, length($pixels) + length($mask), 0, 0, 16, 0)
    . $palette . $pixels . $mask;

open my $out, '>:raw', $ico or die "$ico: $!\n";
# ICONDIR with its one ICONDIRENTRY, then the image.
print $out pack('vvv', 0, 1, 1), pack('CCCCvvVV', 32, 32, 16, 0, 1, 4, length $image, 6 + 16), $image
    or die "$ico: $!\n";
close $out or die "$ico: $!\n";
