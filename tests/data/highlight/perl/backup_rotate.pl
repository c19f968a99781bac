#!/usr/bin/perl
# Rotates nightly backup archives: keeps the last N dailies, one weekly per
# ISO week and one monthly per calendar month, and deletes the rest.
# Usage: backup_rotate.pl [--dry-run] [--keep-daily=7] DIRECTORY

use strict;
use warnings;
use integer;
use constant DEFAULT_DAILY   => 7;
use constant DEFAULT_WEEKLY  => 5;
use constant DEFAULT_MONTHLY => 12;
use vars qw($VERSION @EXPORT_OK);
use File::Spec;
use POSIX qw(strftime floor);

$VERSION = '1.04';
@EXPORT_OK = qw(classify plan_deletions);

my %option = (
    'dry-run'      => 0,
    'keep-daily'   => DEFAULT_DAILY,
    'keep-weekly'  => DEFAULT_WEEKLY,
    'keep-monthly' => DEFAULT_MONTHLY,
    verbose        => 0,
);

# Command line: long options only, "--name=value" or "--flag".
my @rest;
while (my $arg = shift @ARGV) {
    if ($arg =~ /^--([a-z-]+)=(\d+)$/) {
        die "unknown option --$1\n" unless exists $option{$1};
        $option{$1} = $2;
    }
    elsif ($arg =~ /^--([a-z-]+)$/) {
        die "unknown flag --$1\n" unless exists $option{$1};
        $option{$1} = 1;
    }
    else {
        push @rest, $arg;
    }
}
my $directory = shift @rest or die "usage: $0 [options] DIRECTORY\n";
-d $directory or die "not a directory: $directory\n";

# Archive names look like "site-2024-03-17.tar.gz"; anything else is left alone.
sub parse_name {
    my ($name) = @_;
    return unless $name =~ m/^([\w.-]+?)-(\d{4})-(\d\d)-(\d\d)\.tar\.(gz|xz|zst)$/;
    return {
        prefix => $1,
        year   => $2 + 0,
        month  => $3 + 0,
        day    => $4 + 0,
        kind   => $5,
        name   => $name,
    };
}

# Days since 1970-01-01 for a civil date (proleptic Gregorian calendar).
sub day_number {
    my ($y, $m, $d) = @_;
    $y -= $m <= 2 ? 1 : 0;
    my $era = ($y >= 0 ? $y : $y - 399) / 400;
    my $yoe = $y - $era * 400;
    my $doy = (153 * ($m + ($m > 2 ? -3 : 9)) + 2) / 5 + $d - 1;
    my $doe = $yoe * 365 + $yoe / 4 - $yoe / 100 + $doy;
    return $era * 146097 + $doe - 719468;
}

# ISO week key "YYYY-Www" of a day number; Monday is the first day of the week.
sub iso_week {
    my ($days) = @_;
    my $weekday = ($days + 3) % 7;            # 0 = Monday
    my $thursday = $days - $weekday + 3;
    my @t = gmtime($thursday * 86400);
    my $year = $t[5] + 1900;
    my $week = floor($t[7] / 7) + 1;
    return sprintf('%04d-W%02d', $year, $week);
}

sub classify {
    my (@archives) = @_;
    my (%daily, %weekly, %monthly);
    for my $a (sort { $b->{days} <=> $a->{days} } @archives) {
        my $month_key = sprintf "%04d-%02d", $a->{year}, $a->{month};
        my $week_key  = iso_week($a->{days});
        push @{ $daily{all} }, $a;
        $weekly{$week_key}   ||= $a;
        $monthly{$month_key} ||= $a;
    }
    return (\%daily, \%weekly, \%monthly);
}

sub plan_deletions {
    my ($archives, $keep) = @_;
    my ($daily, $weekly, $monthly) = classify(@$archives);
    my %keep;
    my @newest = @{ $daily->{all} || [] };
    $#newest = $keep->{daily} - 1 if @newest > $keep->{daily};
    $keep{ $_->{name} } = 'daily' for @newest;

    my @weeks = (reverse sort keys %$weekly)[0 .. $keep->{weekly} - 1];
    for my $w (grep { defined } @weeks) {
        $keep{ $weekly->{$w}{name} } ||= 'weekly';
    }
    my @months = (reverse sort keys %$monthly)[0 .. $keep->{monthly} - 1];
    for my $m (grep { defined } @months) {
        $keep{ $monthly->{$m}{name} } ||= 'monthly';
    }
    return grep { !exists $keep{ $_->{name} } } @$archives;
}

opendir(my $dh, $directory) or die "cannot open $directory: $!\n";
my @archives;
while (defined(my $entry = readdir $dh)) {
    next if $entry eq '.' or $entry eq '..';
    my $info = parse_name($entry) or next;
    $info->{days} = day_number(@$info{qw(year month day)});
    $info->{size} = -s File::Spec->catfile($directory, $entry);
    push @archives, $info;
}
closedir $dh;

my %by_prefix;
push @{ $by_prefix{ $_->{prefix} } }, $_ for @archives;

my ($deleted, $freed) = (0, 0);
for my $prefix (sort keys %by_prefix) {
    my @doomed = plan_deletions($by_prefix{$prefix}, {
        daily   => $option{'keep-daily'},
        weekly  => $option{'keep-weekly'},
        monthly => $option{'keep-monthly'},
    });
    for my $old (@doomed) {
        my $path = File::Spec->catfile($directory, $old->{name});
        if ($option{'dry-run'}) {
            print "would delete $path\n";
        }
        elsif (unlink $path) {
            print "deleted $path\n" if $option{verbose};
        }
        else {
            warn "cannot delete $path: $!\n";
            next;
        }
        $deleted++;
        $freed += $old->{size} || 0;
    }
}

# Log lines carry a timestamp and the process id, for cron mail digests.
sub log_line {
    my ($level, @words) = @_;
    my @t = localtime;
    my $stamp = sprintf '%04d-%02d-%02d %02d:%02d:%02d',
        $t[5] + 1900, $t[4] + 1, @t[3, 2, 1, 0];
    my $text = join ' ', map { defined $_ ? $_ : '(undef)' } @words;
    $text =~ s/\s+$//;
    return if $level eq 'debug' and not $option{verbose};
    printf STDERR "%s [%d] %-5s %s\n", $stamp, $$, uc $level, $text;
}

# Human-readable sizes: 1023 bytes, 1.0 KiB, 12.5 MiB ...
sub human {
    my $bytes = shift;
    my @units = ('bytes', 'KiB', 'MiB', 'GiB', 'TiB');
    my $i = 0;
    no integer;
    while ($bytes >= 1024 && $i < $#units) {
        $bytes /= 1024.0;
        $i++;
    }
    return $i ? sprintf('%.1f %s', $bytes, $units[$i]) : "$bytes $units[0]";
}

log_line('debug', 'kept', scalar(@archives) - $deleted, 'of', scalar @archives);
printf "%d archive%s %s, %s freed\n", $deleted, $deleted == 1 ? '' : 's',
    $option{'dry-run'} ? 'to delete' : 'deleted', human($freed);

# A few odd corners the scanner meets in real scripts.
my $count = () = $directory =~ /\//g;       # path depth
my $ratio = $deleted ? $freed / $deleted : 0.0;
my @hex = (0x1F, 0XfF, 1_000_000, 3.14e-2, .5, 1..3);
my $range_text = join ',', 1 .. 5;
my $unchanged = $0 ne '-' && $$ > 1 && $; ne "\034";
my $version_ok = $] >= 5.010 ? 1 : 0;
my @sorted = sort { lc($a) cmp lc($b) or $a cmp $b } @rest;
my $perms = sprintf '%04o', (stat $directory)[2] & 07777;
my $pattern = qr{^\Q$directory\E/}i;
(my $tidy = $directory) =~ s{/+$}{};
$tidy =~ tr/a-zA-Z0-9_.\/-//cd;
my %seen;
my @unique = grep { !$seen{$_}++ } @rest;
local $| = 1;
local $/ = undef;
local $, = ', ';
print STDERR "ENV has ", scalar(keys %ENV), " entries; PID $$; program $0\n" if $option{verbose};
print "done\n" unless $option{verbose} lt 0 || $option{verbose} gt 9;
my $x = 2 ** 10;
$x **= 2; $x <<= 1; $x >>= 2; $x ||= 5; $x &&= 6; $x |= 1; $x ^= 3;
my $spaceship = $x <=> 100;
my $ref = \&human;
my @args = map { $_ * 2 } grep { $_ % 2 } 1 .. 10;
my $message = "tab\tand \"quoted\" text";
my $single = 'it''s';
my $empty = "";
my $unterminated = "this string runs to the end of the line
my $after = 'the line above closes nothing';
exit($deleted ? 0 : 1);
