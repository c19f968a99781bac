#!/usr/bin/perl
# Summarises an access log: requests per status code and the busiest hours.
use strict;
use warnings;
use vars qw($VERSION);

$VERSION = '1.02';
my %by_status;
my @hours = (0) x 24;
my ($lines, $bad) = (0, 0);
local $| = 1;

sub parse_line {
    my ($line) = @_;
    return unless $line =~ m/^(\S+) \S+ \S+ \[([^\]]+)\] "([^"]*)" (\d{3}) (\d+|-)/;
    my ($host, $stamp, $request, $status, $size) = ($1, $2, $3, $4, $5);
    $size = 0 if $size eq '-';
    return { host => $host, stamp => $stamp, status => $status, size => $size };
}

while (my $line = <STDIN>) {
    chomp $line;
    $lines++;
    my $entry = parse_line($line);
    if (!defined $entry) {
        $bad += 1;
        next;
    }
    $by_status{ $entry->{status} }++;
    if ($entry->{stamp} =~ /:(\d\d):\d\d:\d\d/) {
        $hours[$1 % 24]++;
    }
}

printf "%-8s %8s\n", 'status', 'count';
foreach my $code (sort { $a <=> $b } keys %by_status) {
    printf "%-8s %8d\n", $code, $by_status{$code};
}
my $busiest = 0;
for my $h (0 .. 23) {
    $busiest = $h if $hours[$h] > $hours[$busiest];
}
my $share = $lines ? $hours[$busiest] / $lines * 100 : 0.0;
print "busiest hour: $busiest ($share%)\n" unless $lines == 0 or $bad > $lines / 2;
print STDERR "skipped $bad malformed line(s) of $lines in $PROGRAM_NAME\n" if $bad;
print "scale: ", 1_000 * 0x10, " ", 1e-3, "\n";
exit($bad ? 1 : 0);
