# Reads a case table (tests/cases/cases.tsv or one made like it): rows of
# op, type, mask, value, expected, reason with their escapes decoded.
package CaseTable;
use strict;
use warnings;
use Exporter 'import';
our @EXPORT_OK = qw(read_rows);

my %escape = ('\\' => "\\", t => "\t", n => "\n", r => "\r", 0 => "\0");

# Each row as [line, op, type, mask, value, expected], decoded.
sub read_rows {
  my ($path) = @_;
  open my $in, '<:encoding(UTF-8)', $path or die "cannot open $path: $!\n";
  my @rows;
  while (my $line = <$in>) {
    chomp $line;
    next if $line =~ /^(#|$)/;
    my @f = split /\t/, $line, -1;
    die "$path:$.: 6 fields wanted\n" unless @f == 6;
    push @rows, [$., map { s/\\(u[0-9A-Fa-f]{4}|.)/length $1 == 5 ? chr hex substr $1, 1 : $escape{$1} \/\/ die "bad escape \\$1\n"/ger } @f[0 .. 4]];
  }
  return @rows;
}

1;
